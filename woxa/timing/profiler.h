// Named timing sections and their overlay graph (global service 2).
//
// Code is timed between Begin(name) and End(handle). A section nested inside
// another (begun later, still running when it ends) books its time to its
// parent's child time as well, so each section's share counts only its own
// work. Once a frame, Update turns the booked times into smoothed shares of
// the frame, Draw shows them as bars, and Reset clears the times.
//
// Every operation does nothing while flag 0 of Enabled is zero; nothing
// changes in that state, so a section left running when the switch went off
// books all the time since its Begin at its first End after the switch is
// back on. Times come from Timer::Instance() and labels are drawn with
// Font::Instance(): the timer service must exist for every operation, the
// font service as well for Draw. After a section's first Begin nothing
// allocates.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "woxa/framework/singleton.h"
#include "woxa/util/flag_array.h"

namespace woxa {

struct ProfileSection {
  std::string name;
  bool running = false;
  std::uint32_t start_time = 0;  // ms on the timer's clock
  std::uint32_t total_time = 0;  // ms booked since the last Reset
  std::uint32_t child_time = 0;  // the part of total_time spent in nested sections
  // Smoothed shares of the frame in percent; not clamped, so a section held
  // open across a pause can exceed 100.
  float average = 50.0f;
  float minimum = 0.0f;
  float maximum = 100.0f;
};

class Profiler : public Singleton<Profiler> {
 public:
  static constexpr std::uint32_t kMaxSections = 64;
  // "No section": what Begin returns while switched off or with the table
  // full. It is 65, not 64.
  static constexpr std::uint32_t kNoSection = 65;

  Profiler();
  ~Profiler() override = default;

  // The switch: profiling is on while flag 0 is not zero. Starts off.
  FlagArray Enabled;

  // Opens the section called `name` (zero-terminated) and returns its
  // handle, its index in the table. A section that is already running is
  // left as it is and its handle returned. A 65th distinct name gets
  // kNoSection.
  std::uint32_t Begin(const char* name);
  // Closes the section and books its time. kNoSection, a handle Begin never
  // gave, and a section that is not running are ignored.
  void End(std::uint32_t handle);
  // The statistics step, once per frame, over the sections not running.
  void Update();
  // Draws the graph with its top-left corner at (x, y) in a 2D overlay over
  // a client area of viewport_width x viewport_height pixels: one row a
  // section, 150 pixels for 100 %. Leaves the matrix mode at GL_MODELVIEW,
  // the blend function at GL_SRC_ALPHA / GL_ONE_MINUS_SRC_ALPHA and the
  // current colour changed; restores the matrices and the enable and
  // texture attributes.
  void Draw(std::int32_t x, std::int32_t y, std::uint32_t viewport_width, std::uint32_t viewport_height);
  // Clears the booked times and the running marks of every section.
  void Reset();

  std::uint32_t SectionCount() const { return section_count_; }
  // handle must be below SectionCount().
  const ProfileSection& Section(std::uint32_t handle) const { return sections_[handle]; }

 private:
  bool IsOn() const { return Enabled[0] != 0; }
  std::uint32_t FindSection(const char* name) const;
  std::uint32_t ParentOfEnded() const;
  void UpdateSection(ProfileSection& section, double frame, double a, double b) const;
  void DrawRow(const ProfileSection& section, std::int32_t x, std::int32_t top, std::int32_t bottom) const;

  std::array<ProfileSection, kMaxSections> sections_;
  std::uint32_t section_count_ = 0;
  std::uint32_t last_update_time_ = 0;
  std::uint32_t this_update_time_ = 0;
};

}  // namespace woxa
