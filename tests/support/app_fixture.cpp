#include "tests/support/app_fixture.h"

namespace vtr::test {

std::string order_name(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "MM" : "II";
}

}  // namespace vtr::test
