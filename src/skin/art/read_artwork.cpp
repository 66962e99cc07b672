#include "skin/art/read_artwork.h"

#include "skin/skin_reader.h"

namespace quillet::skin::art {

TSkinElements ReadSkinArtwork(const SkinArtwork& art, const SkinSystem& system) {
  TSkinReader reader;
  reader.OpenArchive(ArchiveSkin(art));
  TSkinElements e;
  ReadSkinElements(reader, e, system);
  return e;
}

}  // namespace quillet::skin::art
