#include "woxa/forms/background_image_form.h"

#include "woxa/framework/scene.h"
#include "woxa/framework/window_state.h"

namespace woxa {

BackgroundImageForm* Scene::CreateBackgroundImageForm() { return AddForm<BackgroundImageForm>(); }

void BackgroundImageForm::OnWindowResized(std::int32_t width, std::int32_t height) { SetSize(width, height); }

void BackgroundImageForm::OnAttach() {
  SetPosition(0, 0);
  SetSize(owner->width, owner->height);
}

}  // namespace woxa
