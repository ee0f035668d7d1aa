// The configuration file reader: any text parses, every lookup answers, and
// the port and language rules built on it take whatever it answers.

#include <string>

#include "fuzz_input.h"
#include "link/port_names.h"
#include "shell/config_file.h"
#include "shell/startup_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velfuzz::FuzzInput in(data, size);
    const std::string section = in.text('\0');
    const std::string key = in.text('\0');
    vel::CConfigFile config;
    config.Parse(in.rest());

    (void)config.GetValue(section, key, " default ");
    (void)config.GetValue("MAIN", "LANGUAGE", "");
    for (const std::string& port : vel::StandardPortNames()) (void)vel::ResolvePortDevice(port, &config);
    for (int language : {0x04, 0x09, 0x07}) (void)vel::LanguageBaseName("Velmar_V", language, config);
    return 0;
}
