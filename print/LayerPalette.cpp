// The layer colours as the painters take them.
#include "print/LayerPalette.h"

namespace korvanu {

QColor LayerColor(int layer) {
  const PaletteColor& entry = LayerPalette[((layer % MaxLayers) + MaxLayers) % MaxLayers];
  return QColor(entry.R, entry.G, entry.B);
}

}  // namespace korvanu
