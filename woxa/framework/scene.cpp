#include "woxa/framework/scene.h"

#include "woxa/forms/form.h"
#include "woxa/framework/window_state.h"
#include "woxa/timing/profiler.h"

namespace woxa {

Scene::Scene() {
  children_.reserve(4);
  event_mask.SetAll();
  pass_through_mask.Clear();
}

Scene::~Scene() {
  // Children first, last created first; then the forms likewise.
  while (!children_.empty()) {
    Scene* last = children_.back();
    last->OnDestroy();
    delete last;
    children_.pop_back();
    if (active_child_ >= static_cast<std::int32_t>(children_.size())) active_child_ = kNoScene;
  }
  while (!forms_.empty()) {
    Form* last = forms_.back();
    last->OnDetach();
    delete last;
    forms_.pop_back();
  }
}

void Scene::OnEnter(std::int32_t) {}
void Scene::OnLeave(std::int32_t) {}
void Scene::OnWindowMoved(std::int32_t, std::int32_t) {}
void Scene::OnWindowResized(std::int32_t, std::int32_t) {}

void Scene::OnKeyDown(std::int32_t key, std::int32_t, std::int32_t) {
  if (key == 27) RequestLeave();
}

void Scene::OnKeyUp(std::int32_t, std::int32_t, std::int32_t) {}
void Scene::OnMouseDown(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void Scene::OnMouseUp(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void Scene::OnMouseMove(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

void Scene::RouteEnter(std::int32_t previous_index) { Route({kEventEnter, {previous_index}}); }
void Scene::RouteLeave(std::int32_t next_index) { Route({kEventLeave, {next_index}}); }
void Scene::RouteWindowMoved(std::int32_t x, std::int32_t y) { Route({kEventWindowMoved, {x, y}}); }
void Scene::RouteWindowResized(std::int32_t width, std::int32_t height) {
  Route({kEventWindowResized, {width, height}});
}
void Scene::RouteKeyDown(std::int32_t key, std::int32_t repeat, std::int32_t character) {
  Route({kEventKeyDown, {key, repeat, character}});
}
void Scene::RouteKeyUp(std::int32_t key, std::int32_t repeat, std::int32_t character) {
  Route({kEventKeyUp, {key, repeat, character}});
}
void Scene::RouteMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                           std::int32_t ref_y) {
  Route({kEventMouseDown, {button, x, y, ref_x, ref_y}});
}
void Scene::RouteMouseUp(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                         std::int32_t ref_y) {
  Route({kEventMouseUp, {button, x, y, ref_x, ref_y}});
}
void Scene::RouteMouseMove(std::int32_t x, std::int32_t y, std::int32_t previous_x, std::int32_t previous_y) {
  Route({kEventMouseMove, {x, y, previous_x, previous_y}});
}

Scene* Scene::ActiveChild() const {
  // The active index is read afresh at every use: a handler may have
  // switched scenes or added a child while the event was travelling.
  if (active_child_ < 0 || active_child_ >= static_cast<std::int32_t>(children_.size())) return nullptr;
  return children_[static_cast<std::size_t>(active_child_)];
}

bool Scene::TakesWhileChildActive(const Scene& child, EventKind kind) const {
  return child.pass_through_mask[kind] != 0 && event_mask[kind] != 0;
}

void Scene::Route(const Event& event) {
  Scene* child = ActiveChild();
  if (child == nullptr) {
    if (event_mask[event.kind] != 0) Deliver(event);
    return;
  }
  if (TakesWhileChildActive(*child, event.kind)) Deliver(event);
  // A handler above may have switched this scene to no child: the routing
  // stops there instead of reaching a child that is no longer active.
  child = ActiveChild();
  if (child == nullptr) return;
  child->Route(event);
  child = ActiveChild();
  if (child != nullptr && child->leave_request_) {
    child->leave_request_ = false;
    SwitchTo(kNoScene);
  }
}

void Scene::Deliver(const Event& event) {
  const std::int32_t* a = event.a;
  if (event.kind >= kEventWindowMoved) OfferToForms(event);
  switch (event.kind) {
    case kEventEnter: OnEnter(a[0]); break;
    case kEventLeave: OnLeave(a[0]); break;
    case kEventWindowMoved: OnWindowMoved(a[0], a[1]); break;
    case kEventWindowResized: OnWindowResized(a[0], a[1]); break;
    case kEventKeyDown: OnKeyDown(a[0], a[1], a[2]); break;
    case kEventKeyUp: OnKeyUp(a[0], a[1], a[2]); break;
    case kEventMouseDown: OnMouseDown(a[0], a[1], a[2], a[3], a[4]); break;
    case kEventMouseUp: OnMouseUp(a[0], a[1], a[2], a[3], a[4]); break;
    case kEventMouseMove: OnMouseMove(a[0], a[1], a[2], a[3]); break;
    default: break;
  }
}

void Scene::OfferToForms(const Event& event) {
  const std::int32_t* a = event.a;
  // The length is read again at every step: a form created by a handler
  // during the pass is offered the same event.
  for (std::size_t i = 0; i < forms_.size(); ++i) {
    Form* f = forms_[i];
    if (f->event_mask[event.kind] == 0) continue;
    switch (event.kind) {
      case kEventWindowMoved: f->OnWindowMoved(a[0], a[1]); break;
      case kEventWindowResized: f->OnWindowResized(a[0], a[1]); break;
      case kEventKeyDown: f->OnKeyDown(a[0], a[1], a[2]); break;
      case kEventKeyUp: f->OnKeyUp(a[0], a[1], a[2]); break;
      case kEventMouseDown: f->OnMouseDown(a[0], a[1], a[2], a[3], a[4]); break;
      case kEventMouseUp: f->OnMouseUp(a[0], a[1], a[2], a[3], a[4]); break;
      case kEventMouseMove: f->OnMouseMove(a[0], a[1], a[2], a[3]); break;
      default: break;
    }
  }
}

void Scene::DrawOwnFrame() {
  OnDraw();
  if (window_state_ != nullptr && window_state_->frame_flags[kFrameDrawForms] == 1) DrawForms();
}

void Scene::DispatchFrame() {
  Scene* child = ActiveChild();
  if (child == nullptr) {
    if (event_mask[kEventDraw] != 0) DrawOwnFrame();
    return;
  }
  if (TakesWhileChildActive(*child, kEventDraw)) DrawOwnFrame();
  child = ActiveChild();
  if (child == nullptr) return;
  child->DispatchFrame();
  child = ActiveChild();
  if (child != nullptr && child->leave_request_) {
    child->leave_request_ = false;
    SwitchTo(kNoScene);
  }
}

void Scene::DrawForms() {
  Profiler* profiler = Profiler::Instance();
  for (std::size_t i = 0; i < forms_.size(); ++i) {
    Form* f = forms_[i];
    if (f->event_mask[kEventDrawForms] == 0) continue;
    if (profiler != nullptr && profiler->Enabled[0] != 0) {
      std::uint32_t section = profiler->Begin("[WOXA]Draw Form");
      f->Draw();
      profiler->End(section);
    } else {
      f->Draw();
    }
  }
}

void Scene::RequestLeave() {
  if (Scene* child = ActiveChild()) child->RequestLeave();
  leave_request_ = true;
}

void Scene::SwitchTo(std::int32_t index) {
  std::int32_t old = active_child_;
  RouteLeave(index);
  active_child_ = index;
  RouteEnter(old);
}

void Scene::SwitchToChild(Scene* child) { SwitchTo(child->index_in_parent_); }

void Scene::AdoptChild(Scene* k) {
  children_.push_back(k);
  k->window_state_ = window_state_;
  k->index_in_parent_ = static_cast<std::int32_t>(children_.size()) - 1;
  k->OnCreate();
}

void Scene::AdoptForm(Form* f) {
  forms_.push_back(f);
  f->owner = window_state_;
  f->list_index = static_cast<std::int32_t>(forms_.size()) - 1;
  f->OnAttach();
}

}  // namespace woxa
