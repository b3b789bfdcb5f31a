#pragma once
// Runs multirename in-process over a records document and reads back its JSON.
#include "cli/json_text.h"
#include "cli/run.h"
#include "settings/settings_store.h"
#include "support/case_name.h"
#include "support/disk_state.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace mr::cli::test {

struct RunResult {
    int exit = -1;
    std::string out;
    std::string err;
    nlohmann::json doc; // the parsed output when it is JSON
};

using TempFolder = mr::test::ScratchDir;

using mr::test::CaseName;

inline std::string replaced(std::string text, const std::string& what, const std::string& with) {
    for (size_t at; (at = text.find(what)) != std::string::npos;)
        text.replace(at, what.size(), with);
    return text;
}

// The cases of a table written as a JSON array.
inline std::vector<nlohmann::json> cases(const char* table) {
    return nlohmann::json::parse(table).get<std::vector<nlohmann::json>>();
}

inline RunResult run(std::vector<std::string> args, const std::string& input = {}) {
    MemorySettingsStore fresh;
    RunEnvironment env;
    env.settings = &fresh;
    std::istringstream in(input);
    std::ostringstream out, err;
    RunResult r;
    r.exit = runMultirename(args, in, out, err, env);
    r.out = out.str();
    r.err = err.str();
    std::string error;
    if (auto doc = parseJson(r.out, error))
        r.doc = std::move(*doc);
    return r;
}

} // namespace mr::cli::test
