// The simplest form: its rectangle filled with a colour or with an image
// from the image cache, the colour modulating the image. It takes no input.
// Forms that load the same file share the cached image, but each makes and
// deletes its own GL texture from it.
#pragma once

#include <string>

#include "woxa/forms/backdrop.h"
#include "woxa/forms/form.h"
// <windows.h> defines LoadImage as a macro (LoadImageA). Included here, it
// renames the operation the same way in every file that sees this class.
#include "woxa/platform/win32.h"

namespace woxa {

class ImageForm : public Backdrop, public Form {
 public:
  ImageForm();
  // Releases the image and deletes the texture when an image is held.
  ~ImageForm() override;

  // Replaces the image, freeing the previous one and its texture first. A
  // name that cannot be loaded leaves the form without image: it then draws
  // a plain quad in its colour. Needs the window's GL context current. The
  // name goes to the image cache unchanged.
  void LoadImage(const std::string& file_name);

  void Draw() override;
};

}  // namespace woxa
