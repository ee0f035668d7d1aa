#include "cli/report_command.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace vel {
namespace {

#ifdef _WIN32
constexpr const char* kToolName = "velreport.exe";
#else
constexpr const char* kToolName = "velreport";
#endif

constexpr const char* kUsage = "usage: velprog report --family F [--lang en|ch] FILE.sin OUT.pdf\n";

int Usage(const std::string& why) {
    std::fprintf(stderr, "velprog report: %s\n%s", why.c_str(), kUsage);
    return 2;
}

std::filesystem::path RunningProgram() {
#ifdef _WIN32
    wchar_t buf[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
    if (n == 0 || n >= std::size(buf)) return {};
    return std::filesystem::path(std::wstring(buf, n));
#else
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self;
#endif
}

bool IsFile(const std::filesystem::path& p) {
    std::error_code ec;
    return !p.empty() && std::filesystem::is_regular_file(p, ec);
}

#ifdef _WIN32
std::string Quoted(const std::string& arg) {
    std::string q = "\"";
    for (char c : arg) {
        if (c == '"') q += '\\';
        q += c;
    }
    return q + "\"";
}
#endif

/// Runs `argv` and waits; the child's exit code, or -1 when it could not be
/// started or did not exit normally.
int RunAndWait(const std::filesystem::path& tool, const std::vector<std::string>& args) {
#ifdef _WIN32
    std::vector<std::string> quoted;
    for (const auto& a : args) quoted.push_back(Quoted(a));
    std::vector<const char*> argv;
    for (const auto& a : quoted) argv.push_back(a.c_str());
    argv.push_back(nullptr);
    const intptr_t rc = _spawnv(_P_WAIT, tool.string().c_str(), argv.data());
    return rc < 0 ? -1 : static_cast<int>(rc);
#else
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace

std::filesystem::path FindReportTool() {
    if (const char* env = std::getenv("VELREPORT"); env && *env) {
        return IsFile(env) ? std::filesystem::path(env) : std::filesystem::path();
    }
    const std::filesystem::path self = RunningProgram();
    if (self.empty()) return {};
    const std::filesystem::path dir = self.parent_path();
    for (const auto& candidate : {dir / kToolName, dir.parent_path() / "report" / kToolName}) {
        if (IsFile(candidate)) return candidate;
    }
    return {};
}

int RunReportCommand(const ReportCommandArgs& args) {
    if (args.family.empty()) return Usage("--family is required");
    if (args.lang != "en" && args.lang != "ch") return Usage("--lang must be en or ch, not \"" + args.lang + "\"");
    if (args.input.empty() || args.output.empty()) return Usage("expected FILE.sin and OUT.pdf");

    const std::filesystem::path tool = FindReportTool();
    if (tool.empty()) {
        std::fprintf(stderr,
                     "velprog report: the report tool %s was not found beside velprog; it is built with the "
                     "windows (a build without VELMAR_CORE_ONLY), or name it in VELREPORT\n",
                     kToolName);
        return 1;
    }
    // The tool names itself after this command in its messages.
#ifdef _WIN32
    _putenv_s("VELREPORT_PROGRAM", "velprog report");
#else
    setenv("VELREPORT_PROGRAM", "velprog report", 1);
#endif
    const int rc = RunAndWait(tool, {tool.string(), "--family", args.family, "--lang", args.lang, "--", args.input,
                                     args.output});
    if (rc < 0) {
        std::fprintf(stderr, "velprog report: %s could not be run or did not finish\n", tool.string().c_str());
        return 1;
    }
    return rc == 0 || rc == 2 ? rc : 1;
}

void AddReportCommand(CLI::App& app) {
    auto args = std::make_shared<ReportCommandArgs>();
    CLI::App* cmd = app.add_subcommand("report", "Write the settings report of a channel data file as a PDF");
    cmd->add_option("--family", args->family, "Radio family: Velmar_V, VM_CH128, VM_CH118, Marlowe, VM_CH16, VM_CH16_CN");
    cmd->add_option("--lang", args->lang, "Report language: en or ch (default en)");
    cmd->add_option("file", args->input, "Channel data file (.sin)");
    cmd->add_option("out", args->output, "PDF file to write");
    cmd->callback([args] {
        if (const int code = RunReportCommand(*args); code != 0) throw CLI::RuntimeError(code);
    });
}

}  // namespace vel
