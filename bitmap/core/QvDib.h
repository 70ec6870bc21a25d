// TQvDIB: the bitmap library's graphic. Holds a counted reference to a
// TQvInternalDIB, shares it on Assign and copies it before any change.
// This is the portable part; drawing, palettes as handles, the canvas and the
// clipboard are in bitmap/QvDibWin32.h.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "bitmap/core/QvDibHalftone.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm {

enum class TQvProgressStage { psStarting, psRunning, psEnding };

struct QvRect {
  int left, top, right, bottom;
};

// A colour as the class library holds it (TColor): an RGB value (COLORREF,
// red in the low byte) or, with the high bit set, a system colour index in
// the low byte. Returns the RGB value it stands for.
uint32_t ColorToRGB(uint32_t color);

class TQvDIB {
 public:
  // Default for UseFMO of every new TQvDIB (true: pixel memory is mapped).
  static bool DefaultUseFMO;

  TQvDIB();
  explicit TQvDIB(bool useFMO);
  ~TQvDIB();
  TQvDIB(const TQvDIB&) = delete;
  TQvDIB& operator=(const TQvDIB&) = delete;

  // Properties read and written directly.
  uint8_t ReductionQuality = 0;   // 0 "Low", 1 "High"
  uint32_t KeyColor = 0xFFFFFF;   // colour (TColor) the 1-bit conversions test for
  uint8_t HalftoneMode = 0;       // 0 direct, 1 colour halftone, 2 black and white

  // The graphic's change state: Modified fires OnChange; PaletteModified is
  // set whenever the palette was replaced and cleared by its reader.
  bool PaletteModified = false;
  bool Modified = false;
  std::function<void(TQvDIB&)> OnChange;
  std::function<void(TQvDIB&, TQvProgressStage, int percent, bool redraw, const QvRect&,
                     const std::string&)> OnProgress;

  TQvInternalDIB* InternalDIB() const { return internal_; }

  // Whole-picture replacement: the old picture stays when these fail.
  void LoadFromStream(QvStream& stream);
  void LoadFromFile(const std::string& path);
  void LoadFromPackedDIB(const void* block, size_t size);
  void SaveToStream(QvStream& stream) const;
  void SaveToFile(const std::string& path) const;
  std::string SaveToPackedDIB() const;
  // Shares source's storage (no pixels are copied); null gives the default
  // 1 x 1 8-bit picture.
  void Assign(const TQvDIB* source);

  int GetWidth() const;
  int GetHeight() const;
  bool GetEmpty() const;
  int GetBitCount() const;
  int GetPixelFormat() const;
  bool GetUseFMO() const;
  void SetWidth(int value);
  void SetHeight(int value);
  void SetBitCount(int value);
  // Converts the pixels (0-7); progress events for the colour reductions.
  void SetPixelFormat(int value);

  // Copy-on-write: makes the storage this object's own.
  void UniqueDIB();
  void UpdatePaletteModified();
  // Marks the graphic modified and fires OnChange.
  void Changed();
  // Takes a fresh internal DIB in place of the held one.
  void TakeInternalDIB(TQvInternalDIB* fresh);

 private:
  void ReleaseInternalDIB();
  void Replace(const std::function<void(TQvInternalDIB&)>& fill);
  void Progress(TQvProgressStage stage, int percent, bool redraw);
  void StepProgress();

  TQvInternalDIB* internal_ = nullptr;
  int32_t progressCount_ = 0;
  int32_t progressTotal_ = 0;
  std::string progressText_;
};

}  // namespace qm
