// Scripted input for programs run headless from end-to-end tests. When the
// environment names a script (WOXA_HEADLESS_SCRIPT), the platform plays it
// from inside the program's own message loop: each time the loop finds its
// queue empty, the script's next commands run until one waits for frames.
// Input goes through SendInput like real input. One command a line:
//
//   frames N          wait until N more frames have been presented
//   keydown VK        press a key (VK: decimal, 0x hex, or a letter/digit)
//   keyup VK          release it
//   move X Y          move the mouse to client position (X, Y) of the window
//   down BUTTON       press left, right or middle
//   up BUTTON         release it
//   wheel DELTA       turn the wheel (negative: towards the user)
//   capture PATH      write the last presented frame as a binary PPM file
//   close             post WM_CLOSE to the window
//   resize W H        make the window's client area W x H
//
// Blank lines and lines starting with # are skipped. A malformed line
// ends the program with a message on standard error: the test is wrong.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "woxa/platform/headless/state.h"

namespace woxa {
namespace headless {
namespace {

struct Script {
  bool loaded = false;
  std::vector<std::string> lines;
  std::size_t next = 0;
  unsigned wait_until = 0;  // total frames presented
};

Script& TheScript() {
  static Script script;
  return script;
}

[[noreturn]] void Malformed(const std::string& line) {
  std::fprintf(stderr, "headless script: cannot run \"%s\"\n", line.c_str());
  std::exit(3);
}

unsigned FramesPresented() {
  Window* w = FocusWindow();
  return w != nullptr ? w->capture.frames : 0;
}

WORD ParseKey(const std::string& text, const std::string& line) {
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(text[0])));
  }
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 0);
  if (end == text.c_str() || *end != '\0' || value < 1 || value > 254) Malformed(line);
  return static_cast<WORD>(value);
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.mouseData = data;
  SendInput(1, &in, sizeof(INPUT));
}

// The absolute coordinate that SendInput maps back to pixel p of a screen
// of n pixels.
LONG Absolute(long p, int n) { return static_cast<LONG>((p * 65536 + n - 1) / n); }

void MoveTo(long x, long y) {
  Window* w = FocusWindow();
  if (w == nullptr) return;
  RECT c = ClientRectOnScreen(*w);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Absolute(c.left + x, GetSystemMetrics(SM_CXSCREEN)),
            Absolute(c.top + y, GetSystemMetrics(SM_CYSCREEN)));
}

DWORD ButtonFlag(const std::string& button, bool up, const std::string& line) {
  if (button == "left") return up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  if (button == "right") return up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
  if (button == "middle") return up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
  Malformed(line);
}

void WriteCapture(const std::string& path, const std::string& line) {
  Window* w = FocusWindow();
  if (w == nullptr) Malformed(line);
  const Capture& c = w->capture;
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << c.width << " " << c.height << "\n255\n";
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      std::uint32_t p = c.PixelAt(x, y);
      const char rgb[3] = {static_cast<char>(p >> 24), static_cast<char>(p >> 16), static_cast<char>(p >> 8)};
      out.write(rgb, 3);
    }
  }
  if (!out) Malformed(line);
}

// Runs one command; false when it is a wait that has not ended.
bool RunCommand(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  if (command.empty() || command[0] == '#') return true;
  std::string a, b;
  in >> a >> b;
  Window* focus = FocusWindow();
  if (command == "frames") {
    Script& s = TheScript();
    if (s.wait_until == 0) s.wait_until = FramesPresented() + static_cast<unsigned>(std::stoul(a));
    if (FramesPresented() < s.wait_until) return false;
    s.wait_until = 0;
  } else if (command == "keydown" || command == "keyup") {
    SendKey(ParseKey(a, line), command == "keyup");
  } else if (command == "move") {
    MoveTo(std::stol(a), std::stol(b));
  } else if (command == "down" || command == "up") {
    SendMouse(ButtonFlag(a, command == "up", line));
  } else if (command == "wheel") {
    SendMouse(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(std::stol(a)));
  } else if (command == "capture") {
    WriteCapture(a, line);
  } else if (command == "close") {
    if (focus != nullptr) PostMessageA(HandleOf(focus), WM_CLOSE, 0, 0);
  } else if (command == "resize") {
    if (focus == nullptr) Malformed(line);
    RECT r{0, 0, static_cast<LONG>(std::stol(a)), static_cast<LONG>(std::stol(b))};
    AdjustWindowRect(&r, focus->style, FALSE);
    SetWindowPos(HandleOf(focus), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  } else {
    Malformed(line);
  }
  return true;
}

}  // namespace

void PlayInputScript() {
  Script& s = TheScript();
  if (!s.loaded) {
    s.loaded = true;
    const char* path = std::getenv("WOXA_HEADLESS_SCRIPT");
    if (path == nullptr || *path == '\0') return;
    std::ifstream in(path);
    if (!in) Malformed(std::string("script file ") + path);
    for (std::string line; std::getline(in, line);) s.lines.push_back(line);
  }
  while (s.next < s.lines.size()) {
    try {
      if (!RunCommand(s.lines[s.next])) return;
    } catch (const std::exception&) {
      Malformed(s.lines[s.next]);
    }
    ++s.next;
  }
}

}  // namespace headless
}  // namespace woxa
