#include "woxa/text/font_image.h"

namespace woxa {

const FontImage kFontImage{};

}  // namespace woxa
