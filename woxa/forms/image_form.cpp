#include "woxa/forms/image_form.h"

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"
#include "woxa/image/image_cache.h"
#include "woxa/image/texture.h"

namespace woxa {

ImageForm* Scene::CreateImageForm() { return AddForm<ImageForm>(); }

// Backdrop is the first base, so the Form part is not built yet when the
// backdrop binds its rectangle reference: only the rectangle's address is
// taken here, and nothing reads it before the Form part is constructed.
ImageForm::ImageForm() : Backdrop(*&this->Form::rect), Form() {}

ImageForm::~ImageForm() { ReleaseImage(); }

void ImageForm::LoadImage(const std::string& file_name) {
  ReleaseImage();
  ImageCache* cache = ImageCache::Instance();
  if (cache == nullptr) return;
  image = cache->Acquire(file_name, kFormatByExtension);
  if (!image) return;
  // Rows in their stored order, GL_RGBA4, no parameters: the backdrop sets
  // filtering, wrapping and the environment on every draw.
  texture = Texture::CreateFromImage(*image, false);
}

void ImageForm::Draw() {
  Backdrop::Draw(static_cast<std::uint32_t>(owner->width), static_cast<std::uint32_t>(owner->height));
}

}  // namespace woxa
