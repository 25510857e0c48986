#include "woxa/framework/scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "woxa/forms/form.h"

namespace woxa {
namespace {

// Every handler call, in order, as "name:handler(args)".
std::vector<std::string> g_log;

std::string Args(std::initializer_list<std::int32_t> values) {
  std::string s = "(";
  for (auto v : values) s += (s.size() > 1 ? "," : "") + std::to_string(v);
  return s + ")";
}

class LoggingScene : public Scene {
 public:
  std::string name = "scene";
  void OnCreate() override { g_log.push_back(name + ":OnCreate"); }
  void OnDestroy() override { g_log.push_back(name + ":OnDestroy"); }
  void OnEnter(std::int32_t p) override { g_log.push_back(name + ":OnEnter" + Args({p})); }
  void OnLeave(std::int32_t n) override { g_log.push_back(name + ":OnLeave" + Args({n})); }
  void OnKeyDown(std::int32_t k, std::int32_t r, std::int32_t c) override {
    g_log.push_back(name + ":OnKeyDown" + Args({k, r, c}));
    Scene::OnKeyDown(k, r, c);
  }
  void OnMouseDown(std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) override {
    g_log.push_back(name + ":OnMouseDown" + Args({b, x, y, rx, ry}));
  }
  void OnDraw() override { g_log.push_back(name + ":OnDraw"); }
};

class LoggingForm : public Form {
 public:
  std::string name = "form";
  void OnKeyDown(std::int32_t k, std::int32_t, std::int32_t) override {
    g_log.push_back(name + ":OnKeyDown" + Args({k}));
  }
  void OnMouseDown(std::int32_t b, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    g_log.push_back(name + ":OnMouseDown" + Args({b}));
  }
  void OnDetach() override { g_log.push_back(name + ":OnDetach"); }
  void Draw() override { g_log.push_back(name + ":Draw"); }
};

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override { g_log.clear(); }
  LoggingScene* AddChild(LoggingScene& parent, const std::string& name) {
    auto* child = parent.AddChild<LoggingScene>();
    child->name = name;
    return child;
  }
  LoggingForm* AddForm(Scene& scene, const std::string& name) {
    auto* form = scene.AddForm<LoggingForm>();
    form->name = name;
    return form;
  }
};

TEST_F(SceneTest, FormsSeeAnEventBeforeTheSceneAndTheMaskGatesBoth) {
  LoggingScene scene;
  AddForm(scene, "f");
  scene.RouteKeyDown(65, 0, 97);
  EXPECT_EQ(g_log, (std::vector<std::string>{"f:OnKeyDown(65)", "scene:OnKeyDown(65,0,97)"}));

  g_log.clear();
  scene.event_mask.Reset(kEventKeyDown);
  scene.RouteKeyDown(65, 0, 97);
  EXPECT_TRUE(g_log.empty());
}

TEST_F(SceneTest, ActiveChildShieldsItsParentUnlessItPassesTheKindThrough) {
  LoggingScene parent;
  parent.name = "parent";
  AddForm(parent, "pf");
  LoggingScene* child = AddChild(parent, "child");
  parent.SwitchToChild(child);

  g_log.clear();
  parent.RouteMouseDown(1, 5, 6, 0, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child:OnMouseDown(1,5,6,0,0)"}));

  g_log.clear();
  child->pass_through_mask.Set(kEventMouseDown);
  parent.RouteMouseDown(1, 5, 6, 0, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"pf:OnMouseDown(1)", "parent:OnMouseDown(1,5,6,0,0)",
                                             "child:OnMouseDown(1,5,6,0,0)"}));
}

TEST_F(SceneTest, EveryFactoryAndSwitchTellsLeaveThenEnter) {
  LoggingScene parent;
  parent.name = "parent";
  LoggingScene* child = AddChild(parent, "child");
  EXPECT_EQ(child->index_in_parent(), 0);
  EXPECT_EQ(child->window_state(), parent.window_state());
  EXPECT_EQ(parent.active_child(), kNoScene);  // a new child is not active

  g_log.clear();
  parent.SwitchTo(0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent:OnLeave(0)", "child:OnEnter(128)"}));

  g_log.clear();
  parent.SwitchTo(kNoScene);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child:OnLeave(128)", "parent:OnEnter(0)"}));
}

TEST_F(SceneTest, EscapeInTheActiveChildSwitchesBackWithinTheSameEvent) {
  LoggingScene parent;
  parent.name = "parent";
  AddChild(parent, "other");
  LoggingScene* child = AddChild(parent, "child");
  parent.SwitchToChild(child);

  g_log.clear();
  parent.RouteKeyDown(27, 0, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child:OnKeyDown(27,0,0)", "child:OnLeave(128)", "parent:OnEnter(1)"}));
  EXPECT_EQ(parent.active_child(), kNoScene);
  EXPECT_FALSE(parent.leave_requested());
  EXPECT_FALSE(child->leave_requested());

  // A second Escape reaches the parent itself.
  parent.RouteKeyDown(27, 0, 0);
  EXPECT_TRUE(parent.leave_requested());
}

TEST_F(SceneTest, RequestLeavePassesDownTheActiveChain) {
  LoggingScene root;
  LoggingScene* a = AddChild(root, "a");
  LoggingScene* b = AddChild(*a, "b");
  root.SwitchToChild(a);
  a->SwitchToChild(b);
  root.RequestLeave();
  EXPECT_TRUE(root.leave_requested());
  EXPECT_TRUE(a->leave_requested());
  EXPECT_TRUE(b->leave_requested());
}

TEST_F(SceneTest, The129thChildAndThe129thFormAreRefused) {
  LoggingScene scene;
  for (int i = 0; i < 128; ++i) ASSERT_NE(scene.AddChild<LoggingScene>(), nullptr);
  EXPECT_EQ(scene.AddChild<LoggingScene>(), nullptr);
  EXPECT_EQ(scene.child_count(), 128u);
  for (int i = 0; i < 128; ++i) ASSERT_NE(scene.AddForm<LoggingForm>(), nullptr);
  EXPECT_EQ(scene.AddForm<LoggingForm>(), nullptr);
  EXPECT_EQ(scene.form_count(), 128u);
  EXPECT_EQ(scene.form(3)->list_index, 3);
}

// Handlers that change the scene while an event travels.
class SwitchingScene : public LoggingScene {
 public:
  void OnMouseDown(std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) override {
    LoggingScene::OnMouseDown(b, x, y, rx, ry);
    if (action == 1) SwitchTo(kNoScene);
    if (action == 2) {
      for (int i = 0; i < 64; ++i) AddChild<LoggingScene>();  // the child list reallocates
    }
    if (action == 3) RequestLeave();
  }
  int action = 0;
};

TEST_F(SceneTest, HandlersThatChangeTheChainMidRouteNeverReachAStaleChild) {
  for (int action = 1; action <= 3; ++action) {
    SCOPED_TRACE(action);
    SwitchingScene parent;
    parent.name = "parent";
    parent.action = action;
    LoggingScene* child = AddChild(parent, "child");
    child->pass_through_mask.Set(kEventMouseDown);
    parent.SwitchToChild(child);
    g_log.clear();
    parent.RouteMouseDown(1, 0, 0, 0, 0);
    if (action == 1) {
      // The parent switched away before the child was reached: the child
      // only hears that it leaves.
      EXPECT_EQ(g_log, (std::vector<std::string>{"parent:OnMouseDown(1,0,0,0,0)", "child:OnLeave(128)",
                                                 "parent:OnEnter(0)"}));
    } else if (action == 2) {
      EXPECT_EQ(g_log.back(), "child:OnMouseDown(1,0,0,0,0)");
      EXPECT_EQ(parent.active_child(), 0);
    } else {
      // The request reached the child too; the parent switches back to
      // itself as the routing returns, and keeps its own request.
      EXPECT_EQ(g_log, (std::vector<std::string>{"parent:OnMouseDown(1,0,0,0,0)", "child:OnMouseDown(1,0,0,0,0)",
                                                 "child:OnLeave(128)", "parent:OnEnter(0)"}));
      EXPECT_TRUE(parent.leave_requested());
      EXPECT_FALSE(child->leave_requested());
    }
  }
}

TEST_F(SceneTest, FormsCreatedDuringAPassGetTheSameEvent) {
  class Spawning : public LoggingForm {
   public:
    Scene* scene = nullptr;
    void OnMouseDown(std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) override {
      LoggingForm::OnMouseDown(b, x, y, rx, ry);
      if (scene->form_count() < 3) scene->AddForm<LoggingForm>()->name = "late";
    }
  };
  LoggingScene scene;
  auto* spawning = scene.AddForm<Spawning>();
  spawning->scene = &scene;
  spawning->name = "spawner";
  scene.RouteMouseDown(1, 0, 0, 0, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"spawner:OnMouseDown(1)", "late:OnMouseDown(1)",
                                             "scene:OnMouseDown(1,0,0,0,0)"}));
}

TEST_F(SceneTest, DestructionRemovesChildrenThenFormsLastFirst) {
  {
    LoggingScene scene;
    AddChild(scene, "c0");
    AddChild(scene, "c1");
    AddForm(scene, "f0");
    AddForm(scene, "f1");
    g_log.clear();
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"c1:OnDestroy", "c0:OnDestroy", "f1:OnDetach", "f0:OnDetach"}));
}

TEST_F(SceneTest, FrameDrawingFollowsTheChainAndItsPassThrough) {
  LoggingScene parent;
  parent.name = "parent";
  LoggingScene* child = AddChild(parent, "child");
  parent.SwitchToChild(child);
  g_log.clear();
  parent.DispatchFrame();
  EXPECT_EQ(g_log, (std::vector<std::string>{"child:OnDraw"}));
  child->pass_through_mask.Set(kEventDraw);
  g_log.clear();
  parent.DispatchFrame();
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent:OnDraw", "child:OnDraw"}));
}

}  // namespace
}  // namespace woxa
