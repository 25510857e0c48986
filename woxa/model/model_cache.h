// ModelCache: every loaded MQO model, by file name (global service 8).
// A model is read once; loading the same name again returns it. Models live
// until the cache is destroyed, each at one address the whole time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

#include "woxa/framework/singleton.h"
#include "woxa/model/mqo_model.h"

namespace woxa {

// The most models the cache holds.
constexpr std::size_t kMaxModels = 0x20000;

class ModelCache : public Singleton<ModelCache> {
 public:
  ModelCache() = default;
  // Destroys the models; their materials delete their textures (which does
  // nothing once the GL context is gone) and release their images, so the
  // ImageCache must still exist.
  ~ModelCache() override = default;

  ModelCache(const ModelCache&) = delete;
  ModelCache& operator=(const ModelCache&) = delete;

  // The model of that name, read from the file when the cache does not hold
  // it yet (the type is then ignored). Null for a type other than
  // kModelTypeMqo (the file is not opened), for a file that cannot be opened
  // and when the cache is full; the cache is then unchanged, and a later
  // call tries the file again. Textures are made while reading, so a GL
  // context must be current when the file names any.
  MqoModel* Load(const std::string& file_name, std::int32_t type);
  // The model whose file name is exactly that name (same bytes, case
  // included), or null.
  MqoModel* Find(const std::string& file_name);
  // Reads the file named by the model's file name into it (MqoReader). False
  // only when the file cannot be opened or read; the model is then
  // untouched.
  bool ReadMqo(MqoModel& model);

  std::size_t ModelCount() const { return models_.size(); }

 private:
  // Only appended to and popped from the back, so models never move.
  std::deque<MqoModel> models_;
  // Each name maps to its model, which is the first of that name since a
  // name that is found is never loaded again.
  std::unordered_map<std::string, MqoModel*> by_name_;
};

}  // namespace woxa
