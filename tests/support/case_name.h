#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace qvt::testing {

// Names the instances of a parameterised test after their cases' name field.
struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    }
};

}  // namespace qvt::testing
