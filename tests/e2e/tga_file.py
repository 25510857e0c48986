"""The demo pictures as the end-to-end scripts need them: an uncompressed
true-colour or grey TGA file read into RGBA texels in stored row order (the
order the toolkit hands them to GL), and what GL shows of it: texels cut to
the 4 bits a channel of GL_RGBA4, sampled bilinearly with repeat wrapping.

    image = tga_file.read("demos/data/background.TGA")
    image.sample(s, t)  -> (r, g, b, a); t = 0 is the first stored row
"""

import struct


class Image:
    def __init__(self, width, height, texels):
        self.width, self.height, self.texels = width, height, texels  # texels[row][column] = (r, g, b, a)

    def texel(self, column, row):
        return self.texels[row % self.height][column % self.width]

    def sample(self, s, t):
        u, v = s * self.width - 0.5, t * self.height - 0.5
        c0, r0 = int(u // 1), int(v // 1)
        fu, fv = u - c0, v - r0
        out = []
        for ch in range(4):
            top = (1 - fu) * self.texel(c0, r0)[ch] + fu * self.texel(c0 + 1, r0)[ch]
            bottom = (1 - fu) * self.texel(c0, r0 + 1)[ch] + fu * self.texel(c0 + 1, r0 + 1)[ch]
            out.append((1 - fv) * top + fv * bottom)
        return tuple(out)


def _four_bits(value):
    return (value * 15 + 127) // 255 * 17


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    id_length, _, image_type = data[0], data[1], data[2]
    width, height, depth = struct.unpack("<HHB", data[12:17])
    if image_type not in (2, 3) or depth not in (8, 24, 32):
        raise ValueError("%s: not an uncompressed 8, 24 or 32-bit TGA file" % path)
    size = depth // 8
    pos = 18 + id_length
    texels = []
    for _ in range(height):
        row = []
        for _ in range(width):
            p = data[pos:pos + size]
            pos += size
            if size == 1:
                rgba = (p[0], p[0], p[0], 255)
            else:
                rgba = (p[2], p[1], p[0], p[3] if size == 4 else 255)
            row.append(tuple(_four_bits(c) for c in rgba))
        texels.append(row)
    return Image(width, height, texels)
