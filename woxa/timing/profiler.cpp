#include "woxa/timing/profiler.h"

#include "woxa/forms/overlay_bracket.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "woxa/platform/win32.h"
#include "woxa/text/font.h"
#include "woxa/timing/timer.h"
#include "woxa/util/color.h"

namespace woxa {
namespace {

// Screen positions are worked out in 64 bits and held inside the range
// glVertex3i takes: shares are not clamped, so a section that stayed open
// across a long pause (or was ended out of order, wrapping its own time) can
// have a share far beyond what a 32-bit pixel position holds.
std::int32_t Clamped(double position) {
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(position, kLow, kHigh));
}

// x plus 1.5 pixels a percent, truncated toward zero, plus offset.
std::int32_t BarX(std::int32_t x, float percent, std::int32_t offset) {
  return Clamped(static_cast<double>(x) + std::trunc(1.5 * static_cast<double>(percent)) + offset);
}

void Quad(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  glVertex3i(left, top, 0);
  glVertex3i(left, bottom, 0);
  glVertex3i(right, bottom, 0);
  glVertex3i(right, top, 0);
}

}  // namespace

Profiler::Profiler() : Enabled(1) {}

std::uint32_t Profiler::FindSection(const char* name) const {
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    if (sections_[i].name == name) return i;
  }
  return kNoSection;
}

std::uint32_t Profiler::Begin(const char* name) {
  if (!IsOn()) return kNoSection;
  std::uint32_t found = FindSection(name);
  if (found != kNoSection) {
    ProfileSection& section = sections_[found];
    if (section.running) return found;  // an open section is not restarted
    section.running = true;
    section.start_time = Timer::Instance()->Now();
    return found;
  }
  if (section_count_ == kMaxSections) return kNoSection;
  ProfileSection& section = sections_[section_count_];
  section.name = name;
  section.running = true;
  section.total_time = 0;
  section.child_time = 0;
  section.average = 50.0f;
  section.minimum = 0.0f;
  section.maximum = 100.0f;
  section.start_time = Timer::Instance()->Now();
  return section_count_++;
}

// The running section begun last; on equal start times the higher index,
// since a section first begun later is the one nested inside.
std::uint32_t Profiler::ParentOfEnded() const {
  std::uint32_t parent = kNoSection;
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    if (!sections_[i].running) continue;
    if (parent == kNoSection || sections_[i].start_time >= sections_[parent].start_time) parent = i;
  }
  return parent;
}

void Profiler::End(std::uint32_t handle) {
  // Covers kNoSection too: handles Begin gave are below the count.
  if (!IsOn() || handle >= section_count_) return;
  ProfileSection& section = sections_[handle];
  if (!section.running) return;
  section.running = false;
  std::uint32_t now = Timer::Instance()->Now();
  std::uint32_t elapsed = now - section.start_time;
  std::uint32_t parent = ParentOfEnded();
  if (parent != kNoSection) sections_[parent].child_time += elapsed;
  section.total_time += elapsed;
}

void Profiler::Update() {
  if (!IsOn()) return;
  this_update_time_ = Timer::Instance()->Now();
  std::uint32_t elapsed = this_update_time_ - last_update_time_;
  double frame = elapsed == 0 ? 1.0 : static_cast<double>(elapsed);  // a frame lasts at least 1 ms
  // Time constants of about 1 s for the average and 10 s for the extremes.
  double a = std::min(frame * 0.001, 1.0);
  double b = std::min(frame * 0.0001, 1.0);
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    if (!sections_[i].running) UpdateSection(sections_[i], frame, a, b);
  }
  last_update_time_ = this_update_time_;
}

void Profiler::UpdateSection(ProfileSection& section, double frame, double a, double b) const {
  std::uint32_t own = section.total_time - section.child_time;
  float share = static_cast<float>(static_cast<double>(own) / frame * 100.0);
  section.average = static_cast<float>((1.0 - a) * section.average + a * share);
  if (share < section.minimum) {
    section.minimum = share;
  } else {
    section.minimum = static_cast<float>((1.0 - b) * section.minimum + b * share);
  }
  if (share > section.maximum) {
    section.maximum = share;
  } else {
    section.maximum = static_cast<float>((1.0 - b) * section.maximum + b * share);
  }
}

void Profiler::Reset() {
  if (!IsOn()) return;
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    sections_[i].total_time = 0;
    sections_[i].child_time = 0;
    sections_[i].running = false;
  }
}

void Profiler::Draw(std::int32_t x, std::int32_t y, std::uint32_t viewport_width, std::uint32_t viewport_height) {
  if (!IsOn()) return;
  OverlayBracket::Open(viewport_width, viewport_height);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);

  Font& font = *Font::Instance();
  const double h = font.CellHeight();
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    double top = static_cast<double>(y) + i * h;
    DrawRow(sections_[i], x, Clamped(top), Clamped(top + h));
  }
  const Color black{0, 0, 0, 255};
  for (std::uint32_t i = 0; i < section_count_; ++i) {
    font.DrawString(sections_[i].name, black, x, Clamped(static_cast<double>(y) + i * h), 1);
  }

  OverlayBracket::Close();
}

// The average bar, the rest of the 100 % scale, then the minimum (green) and
// maximum (red) markers, two pixels wide, as one primitive.
void Profiler::DrawRow(const ProfileSection& section, std::int32_t x, std::int32_t top, std::int32_t bottom) const {
  std::int32_t x_avg = BarX(x, section.average, 0);
  glBegin(GL_QUADS);
  glColor4ub(255, 255, 255, 191);
  Quad(x, top, x_avg, bottom);
  glColor4ub(191, 191, 191, 191);
  Quad(x_avg, top, BarX(x, 100.0f, 0), bottom);
  glColor4ub(0, 255, 0, 255);
  Quad(BarX(x, section.minimum, -1), top, BarX(x, section.minimum, 1), bottom);
  glColor4ub(255, 0, 0, 255);
  Quad(BarX(x, section.maximum, -1), top, BarX(x, section.maximum, 1), bottom);
  glEnd();
}

}  // namespace woxa
