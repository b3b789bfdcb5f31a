#pragma once
// A parameterised test's name from its case's "what": a member, or a JSON case's key.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace mr::test {

struct CaseName {
    template <class Param>
    std::string operator()(const testing::TestParamInfo<Param>& info) const {
        std::string name;
        if constexpr (requires { info.param.what; })
            name = info.param.what;
        else
            name = info.param.at("what").template get<std::string>();
        for (auto& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    }
};

} // namespace mr::test
