#include "woxa/input/mouse_buttons.h"

#include <gtest/gtest.h>

namespace woxa {
namespace {

TEST(MouseButtons, NamesEveryCodeAndTheUnknownOnesAlike) {
  struct Case {
    std::int32_t code;
    const char* name;
  };
  const Case cases[] = {
      {0, "UNKNOWN MOUSE BUTTON"}, {1, "LEFT MOUSE BUTTON"},     {2, "RIGHT MOUSE BUTTON"},
      {3, "MIDDLE MOUSE BUTTON"},  {4, "WHEEL DOWN"},            {5, "WHEEL UP"},
      {6, "UNKNOWN MOUSE BUTTON"}, {-1, "UNKNOWN MOUSE BUTTON"}, {2147483647, "UNKNOWN MOUSE BUTTON"},
  };
  MouseButtons buttons;
  EXPECT_EQ(MouseButtons::Instance(), &buttons);
  for (const Case& c : cases) EXPECT_EQ(buttons.NameOf(c.code), c.name) << c.code;
}

}  // namespace
}  // namespace woxa
