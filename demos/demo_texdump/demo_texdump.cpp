// demo_texdump: writes a TGA image as a source-code array of its pixels.
// Type the name of a .tga or .TGA file at the prompt; "[name]TextureData.txt" appears in the current folder.
#include <iostream>
#include <string>

#include "woxa/framework/library.h"
#include "woxa/image/image_cache.h"

namespace {

int Fail() {
  std::cout << "failed." << std::endl;
  return -1;
}

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  std::cout << "input texture filename:" << std::flush;
  std::string name;  // one word: blanks end it
  std::cin >> name;

  woxa::ImageCache& cache = *woxa::ImageCache::Instance();
  woxa::ImageHandle image = cache.Acquire(name, woxa::kFormatByExtension);
  if (image.IsNull()) return Fail();
  const bool written = cache.WriteTextureData(image);
  image.Release();
  if (!written) return Fail();
  std::cout << "ok." << std::endl;
  return 1;  // the services are left to the end of the process
}
