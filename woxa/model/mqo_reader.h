// MqoReader: fills an MqoModel from the bytes of an MQO text file.
//
// Contract:
// - Reads the subset the toolkit draws: the material list (name, "col"
//   colour, "tex" texture file) and, for every object, its name, its
//   "vertex" chunk and its "face" chunk with the attributes "V", "M" and
//   "UV" of triangles and quadrilaterals. Everything else is skipped: other
//   chunks, lines and attributes, faces of other corner counts. The header is
//   not checked, so any bytes read as a model.
// - Lines end at a line feed; a carriage return before it is dropped. Each
//   line is split into words as Utility::Tokenize splits it; material lines
//   and the lines inside an object have every "(" and ")" turned into a blank
//   first, quoted text included. Keywords are whole words, case-sensitive.
// - The object line's name: every "#" gets a blank before it and the first
//   word is the name; a name beginning with "#" drops the object; the last
//   other word of the form "#<-parent" names a parent. An object joins the
//   children of every other object of that name, in file order, but of at
//   most kMaxParentsPerObject of them.
// - Two passes over the bytes: the first counts materials, objects and the
//   vertices of each object, the second fills them in. The materials are the
//   file's N (from the last "Material" line) and one extra white material at
//   index N, used by faces without "M" and by faces whose "M" is outside
//   0 ... N. Quadrilaterals become two triangles; every triangle's corners are
//   stored in reverse order and its v coordinates as 1 - v.
// - Textures: "tex" names a file in the model file's directory; it is
//   acquired through the ImageCache (none when that service is absent) and
//   made into a texture by MqoMaterial::Set, so with a texture in the file a
//   GL context must be current.
// - Counts are not trusted, and nothing reads out of range or grows beyond
//   the input: a vertex count is cut to the lines left in the file after its
//   line, and all vertex counts together to the file's lines; the material
//   count likewise to the file's lines; a line whose vertex index is beyond
//   its object's array stores nothing; a chunk that claims more lines than
//   the file has ends with the file. Negative counts read as 0.
// - Missing words skip what needed them: a "col" with fewer than four values
//   after it, a "tex", "M" or "UV" cut short, and a vertex line with fewer
//   than three values are ignored (the vertex stays at the origin). A face
//   line without a complete "V" adds no triangle. A face line without "UV"
//   has texture coordinates (0, 0).
// - Face indices are kept as written, also outside the object's vertices
//   (MqoModel::DrawObject skips such triangles).
// - Numbers: MqoNumber (longest numeric prefix, 0 without one).
// - Nothing fails: whatever the bytes, the model is filled as far as they
//   allow. Nothing is printed; memory grows with the input only.
#pragma once

#include <cstddef>

#include "woxa/model/mqo_model.h"

namespace woxa {

// The most objects of one name an object joins as a child: a file of many
// objects that all share a name and name it as their parent would otherwise
// need links for every pair of them.
constexpr std::size_t kMaxParentsPerObject = 16;

class MqoReader {
 public:
  // Empties the model's objects and materials and fills them from the bytes
  // of a whole file. Texture paths start with the directory part of the
  // model's file name.
  static void Read(MqoModel& model, const char* data, std::size_t size);
};

}  // namespace woxa
