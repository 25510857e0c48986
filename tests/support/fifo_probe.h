// Whether an action opens a file, seen through a FIFO put at its path
// (POSIX only).
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace woxa_test {

// True when action opens the FIFO at path. Opening a FIFO for reading blocks
// until a writer comes; the watcher keeps trying a non-blocking write open,
// which succeeds exactly while a reader waits, and lets that reader go on to
// read end of file.
inline bool OpensFifo(const std::string& path, const std::function<void()>& action) {
  if (mkfifo(path.c_str(), 0600) != 0) return true;
  std::atomic<bool> done{false};
  std::atomic<bool> opened{false};
  std::thread watcher([&] {
    while (!done) {
      const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        opened = true;
        close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  action();
  done = true;
  watcher.join();
  return opened;
}

}  // namespace woxa_test
#endif
