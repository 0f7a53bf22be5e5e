#pragma once
// Names parameterized test rows after their `name` field.

#include <string>

struct CaseName {
  template <typename Info>
  std::string operator()(const Info& row) const {
    return row.param.name;
  }
};
