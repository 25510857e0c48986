// Scenes and the routing of events.
//
// A scene takes the kinds of events its event mask allows; its forms see
// each event before the scene's own handler. Events enter at the main window
// and travel down the chain of active child scenes; while a child is active
// its parent still takes the kinds the child's pass-through mask lets
// through. A scene asks to leave with RequestLeave; its parent switches back
// to itself when the routing returns through it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "woxa/util/flag_array.h"

namespace woxa {

class Form;
class Console;
class ImageForm;
class BackgroundImageForm;
class TextBox;
class PushButton;
struct WindowState;

// Event kinds: the index into every event mask.
enum EventKind : std::uint32_t {
  kEventDraw = 0,
  kEventDrawForms = 1,
  kEventEnter = 2,
  kEventLeave = 3,
  kEventWindowMoved = 4,
  kEventWindowResized = 5,
  kEventKeyDown = 6,
  kEventKeyUp = 7,
  kEventMouseDown = 8,
  kEventMouseUp = 9,
  kEventMouseMove = 10,
};
constexpr std::uint32_t kEventKindCount = 13;

constexpr std::int32_t kNoScene = 128;
constexpr std::size_t kMaxChildScenes = 128;
constexpr std::size_t kMaxForms = 128;

class Scene {
 public:
  Scene();
  virtual ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Handlers, in slot order. The default OnKeyDown makes Escape (key code
  // 27) request a leave; all others do nothing.
  virtual void OnCreate() {}
  virtual void OnDestroy() {}
  virtual void OnEnter(std::int32_t previous_index);
  virtual void OnLeave(std::int32_t next_index);
  virtual void OnWindowMoved(std::int32_t x, std::int32_t y);
  virtual void OnWindowResized(std::int32_t width, std::int32_t height);
  virtual void OnKeyDown(std::int32_t key, std::int32_t repeat, std::int32_t character);
  virtual void OnKeyUp(std::int32_t key, std::int32_t repeat, std::int32_t character);
  virtual void OnMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                           std::int32_t ref_y);
  virtual void OnMouseUp(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x,
                         std::int32_t ref_y);
  virtual void OnMouseMove(std::int32_t x, std::int32_t y, std::int32_t previous_x, std::int32_t previous_y);
  virtual void OnDraw() {}

  // Routing entry points, one per event kind from 2 to 10: the event goes
  // to this scene and down its active chain.
  void RouteEnter(std::int32_t previous_index);
  void RouteLeave(std::int32_t next_index);
  void RouteWindowMoved(std::int32_t x, std::int32_t y);
  void RouteWindowResized(std::int32_t width, std::int32_t height);
  void RouteKeyDown(std::int32_t key, std::int32_t repeat, std::int32_t character);
  void RouteKeyUp(std::int32_t key, std::int32_t repeat, std::int32_t character);
  void RouteMouseDown(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x, std::int32_t ref_y);
  void RouteMouseUp(std::int32_t button, std::int32_t x, std::int32_t y, std::int32_t ref_x, std::int32_t ref_y);
  void RouteMouseMove(std::int32_t x, std::int32_t y, std::int32_t previous_x, std::int32_t previous_y);

  // The frame's drawing (event kind 0) along the active chain: OnDraw, then
  // the forms when the window's frame flag 1 is on.
  void DispatchFrame();
  // Draws the forms that take kind 1, in creation order.
  void DrawForms();

  void RequestLeave();
  // index: kNoScene or the index of an existing child.
  void SwitchTo(std::int32_t index);
  void SwitchToChild(Scene* child);

  // Child factories (null when the child list is full).
  Console* CreateConsole();

  // Form factories (null when the form list is full).
  ImageForm* CreateImageForm();
  BackgroundImageForm* CreateBackgroundImageForm();
  TextBox* CreateTextBox();
  PushButton* CreatePushButton();

  WindowState* window_state() const { return window_state_; }
  std::int32_t index_in_parent() const { return index_in_parent_; }
  std::int32_t active_child() const { return active_child_; }
  bool leave_requested() const { return leave_request_; }
  std::size_t child_count() const { return children_.size(); }
  Scene* child(std::size_t i) const { return children_[i]; }
  std::size_t form_count() const { return forms_.size(); }
  Form* form(std::size_t i) const { return forms_[i]; }

  FlagArray event_mask{kEventKindCount};
  FlagArray pass_through_mask{kEventKindCount};

  // The factories' common steps, open to programs with form or scene
  // classes of their own. A child scene shares this scene's window
  // state, learns its index and gets OnCreate; a form gets its owner and
  // list index, then OnAttach. Nothing is constructed when the list is full.
  template <typename T>
  T* AddChild() {
    if (children_.size() >= kMaxChildScenes) return nullptr;
    T* child = new T();
    AdoptChild(child);
    return child;
  }
  template <typename T>
  T* AddForm() {
    if (forms_.size() >= kMaxForms) return nullptr;
    T* form = new T();
    AdoptForm(form);
    return form;
  }

 protected:
  WindowState* window_state_ = nullptr;

 private:
  struct Event {
    EventKind kind;
    std::int32_t a[5];
  };

  void AdoptChild(Scene* child);
  void AdoptForm(Form* form);
  Scene* ActiveChild() const;
  bool TakesWhileChildActive(const Scene& child, EventKind kind) const;
  void Route(const Event& event);
  void Deliver(const Event& event);
  void OfferToForms(const Event& event);
  void DrawOwnFrame();

  std::int32_t index_in_parent_ = kNoScene;
  std::int32_t active_child_ = kNoScene;
  bool leave_request_ = false;
  std::vector<Scene*> children_;
  std::vector<Form*> forms_;
};

}  // namespace woxa
