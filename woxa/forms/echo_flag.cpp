#include "woxa/forms/echo_flag.h"

namespace woxa {

EchoFlag::~EchoFlag() = default;

}  // namespace woxa
