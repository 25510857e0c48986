#include "woxa/model/model_cache.h"

#include <cstdio>
#include <vector>

#include "woxa/model/mqo_reader.h"

namespace woxa {
namespace {

// The whole file, read in binary: the reader drops a carriage return before
// a line feed itself, the same on every platform. False when the file cannot
// be opened or a read fails (a directory opens on some systems).
bool ReadWholeFile(const std::string& file_name, std::vector<char>* bytes) {
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  std::size_t size = 0;
  for (;;) {
    bytes->resize(size + kChunk);
    const std::size_t got = std::fread(bytes->data() + size, 1, kChunk, file);
    size += got;
    if (got < kChunk) break;
  }
  bytes->resize(size);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

}  // namespace

MqoModel* ModelCache::Load(const std::string& file_name, std::int32_t type) {
  if (MqoModel* found = Find(file_name)) return found;
  if (models_.size() >= kMaxModels) return nullptr;
  MqoModel& model = models_.emplace_back(file_name, type);
  if (model.type == kModelTypeMqo && ReadMqo(model)) {
    model.index = static_cast<std::int32_t>(models_.size() - 1);
    by_name_.emplace(file_name, &model);
    return &model;
  }
  models_.pop_back();
  return nullptr;
}

MqoModel* ModelCache::Find(const std::string& file_name) {
  const auto found = by_name_.find(file_name);
  return found == by_name_.end() ? nullptr : found->second;
}

bool ModelCache::ReadMqo(MqoModel& model) {
  std::vector<char> bytes;
  if (!ReadWholeFile(model.file_name, &bytes)) return false;
  MqoReader::Read(model, bytes.data(), bytes.size());
  return true;
}

}  // namespace woxa
