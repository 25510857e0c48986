#include "woxa/model/model_cache.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "woxa/model/mqo_reader.h"

namespace woxa {
namespace {

// Makes room for the whole file at once when its size can be told; a file
// that reads longer or shorter is still read to its end.
void ReserveFileSize(std::FILE* file, std::vector<char>* bytes) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0) return;
  if (end > here) bytes->reserve(static_cast<std::size_t>(end) + 1);
}

// The whole file, read in binary: the reader drops a carriage return before
// a line feed itself, the same on every platform. False when the file cannot
// be opened or a read fails (a folder opens on some systems, and fails at
// the first read).
bool ReadWholeFile(const std::string& file_name, std::vector<char>* bytes) {
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (file == nullptr) return false;
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  bytes->resize(kChunk);
  std::size_t size = std::fread(bytes->data(), 1, kChunk, file);
  if (size == kChunk) ReserveFileSize(file, bytes);
  while (size == bytes->size()) {
    bytes->resize(size + std::max(kChunk, bytes->capacity() - size));
    size += std::fread(bytes->data() + size, 1, bytes->size() - size, file);
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
