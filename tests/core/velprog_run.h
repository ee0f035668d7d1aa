#pragma once
// The built velprog as a separate program: a child process with its output
// collected, `velprog simulate` in the background, and scratch folders.
// POSIX only.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/image.h"

namespace vel::velprog_run {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Child processes
// ---------------------------------------------------------------------------

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// The data folder every velprog run by these tests sees as XDG_DATA_HOME, so
/// that the backups of `velprog write` never go into the real home.
inline const std::string& SandboxDataHome() {
    struct Folder {
        std::string path;
        Folder() {
            std::string tmpl = (fs::temp_directory_path() / "velprog_test_data_XXXXXX").string();
            path = mkdtemp(tmpl.data());
        }
        ~Folder() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}

/// Starts velprog with `args` in `cwd`; stdout and stderr come back through pipes.
struct Child {
    pid_t pid = -1;
    int outFd = -1;
    int errFd = -1;

    Child(const std::vector<std::string>& args, const fs::path& cwd, std::string program = VELPROG_PATH) {
        const std::string dataHome = SandboxDataHome();
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        pid = fork();
        if (pid == 0) {
            if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
            setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
            dup2(out[1], 1);
            dup2(err[1], 2);
            close(out[0]);
            close(err[0]);
            close(out[1]);
            close(err[1]);
            std::vector<char*> argv;
            argv.push_back(program.data());
            std::vector<std::string> copy = args;
            for (std::string& a : copy) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        outFd = out[0];
        errFd = err[0];
    }

    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (outFd >= 0) close(outFd);
        if (errFd >= 0) close(errFd);
    }

    /// Reads stdout up to the first line end; empty after `timeoutMs`.
    std::string firstLine(int timeoutMs, std::string& rest) {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.find('\n') == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0) return {};
            pollfd p{outFd, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
            char buf[256];
            const ssize_t n = read(outFd, buf, sizeof buf);
            if (n <= 0) return {};
            got.append(buf, static_cast<std::size_t>(n));
        }
        const auto nl = got.find('\n');
        rest = got.substr(nl + 1);
        return got.substr(0, nl);
    }

    /// Collects both outputs until the child ends (killing it after `timeoutMs`).
    RunResult finish(int timeoutMs, std::string outSoFar = {}) {
        RunResult r;
        r.out = std::move(outSoFar);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        bool outOpen = true, errOpen = true;
        while (outOpen || errOpen) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0) {
                kill(pid, SIGKILL);
                break;
            }
            pollfd p[2] = {{outOpen ? outFd : -1, POLLIN, 0}, {errOpen ? errFd : -1, POLLIN, 0}};
            if (poll(p, 2, static_cast<int>(left)) <= 0) continue;
            char buf[4096];
            for (int i = 0; i < 2; ++i) {
                if (p[i].revents == 0) continue;
                const ssize_t n = read(p[i].fd, buf, sizeof buf);
                if (n <= 0) {
                    (i == 0 ? outOpen : errOpen) = false;
                    continue;
                }
                (i == 0 ? r.out : r.err).append(buf, static_cast<std::size_t>(n));
            }
        }
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return r;
    }
};

inline RunResult Velprog(const std::vector<std::string>& args, const fs::path& cwd = {}, int timeoutMs = 120000,
                  const std::string& program = VELPROG_PATH) {
    Child c(args, cwd, program);
    return c.finish(timeoutMs);
}

/// `velprog simulate` running in the background.
struct Simulator {
    Child child;
    std::string device;
    std::string out;

    explicit Simulator(std::vector<std::string> args) : child(Prepend(std::move(args)), {}) {
        device = child.firstLine(10000, out);
    }
    static std::vector<std::string> Prepend(std::vector<std::string> args) {
        args.insert(args.begin(), "simulate");
        return args;
    }
    RunResult stop() {
        kill(child.pid, SIGTERM);
        return child.finish(20000, out);
    }
};

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

struct TempDir {
    fs::path path;
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "velprog_test_XXXXXX").string();
        path = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

inline Image ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const Image& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

}  // namespace vel::velprog_run
