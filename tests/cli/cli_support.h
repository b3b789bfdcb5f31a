#pragma once
// Runs multirename in-process over a records document and reads back its JSON.
#include "cli/json_text.h"
#include "cli/run.h"
#include "support/case_name.h"
#include "support/disk_state.h"
#include "support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ios>
#include <sstream>
#include <streambuf>
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

// Standard input closed: a read fails as a file stream's does, by throwing.
class ClosedInput final : public std::streambuf {
    int_type underflow() override {
        errno = EBADF;
        throw std::ios_base::failure("read");
    }
};

// Standard output on a full disk.
class FullOutput final : public std::streambuf {
    int_type overflow(int_type) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
    int sync() override {
        errno = ENOSPC;
        return -1;
    }
};

struct RunOptions {
    std::string input;
    bool closedInput = false;
    bool fullOutput = false;
    size_t inputLimit = kInputLimit;
    size_t columns = 0;
};

inline RunResult run(std::vector<std::string> args, const RunOptions& o) {
    MemorySettingsStore fresh;
    RunEnvironment env;
    env.settings = &fresh;
    env.inputLimit = o.inputLimit;
    env.columns = o.columns;
    std::istringstream text(o.input);
    ClosedInput closed;
    std::istream in(o.closedInput ? static_cast<std::streambuf*>(&closed) : text.rdbuf());
    std::ostringstream out, err;
    FullOutput full;
    std::ostream fullOut(&full);
    RunResult r;
    r.exit = runMultirename(args, in, o.fullOutput ? fullOut : out, err, env);
    r.out = out.str();
    r.err = err.str();
    std::string error;
    if (auto doc = parseJson(r.out, error))
        r.doc = std::move(*doc);
    return r;
}

inline RunResult run(std::vector<std::string> args, const std::string& input = {}) {
    RunOptions o;
    o.input = input;
    return run(std::move(args), o);
}

} // namespace mr::cli::test
