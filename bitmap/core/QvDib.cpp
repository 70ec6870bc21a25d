#include "bitmap/core/QvDib.h"

#include <cstring>
#include <memory>

#include "bitmap/core/QvDibMemory.h"
#include "core/FileSystem.h"

namespace qm {

bool TQvDIB::DefaultUseFMO = true;

namespace {

void AssertInternal(const TQvInternalDIB* p, const char* method) {
  if (!p) QvAssertFail((std::string("TQvDIB.") + method + ": InternalDIB Should not be Nil").c_str());
}

}  // namespace

uint32_t ColorToRGB(uint32_t color) {
  if (color & 0x80000000u) return PlatformSysColor(static_cast<int>(color & 0xFF)) & 0xFFFFFFu;
  return color & 0xFFFFFFu;
}

TQvDIB::TQvDIB() : TQvDIB(DefaultUseFMO) {}

TQvDIB::TQvDIB(bool useFMO) {
  internal_ = new TQvInternalDIB(useFMO);
  UpdatePaletteModified();
}

TQvDIB::~TQvDIB() {
  if (internal_) ReleaseInternalDIB();
}

void TQvDIB::ReleaseInternalDIB() {
  if (!internal_) QvAssertFail("TQVDIB.ReleaseInternalDIB: InternalDIB should not be Nil");
  if (--internal_->RefCount == 0) delete internal_;
  internal_ = nullptr;
}

void TQvDIB::UpdatePaletteModified() {
  QvAssert(internal_ && internal_->RefCount == 1, "TQvDIB.UpdatePaletteModified RefCount Must be 1");
  if (internal_->PaletteChanged) {
    internal_->PaletteChanged = false;
    PaletteModified = true;
  }
}

void TQvDIB::Changed() {
  Modified = true;
  if (OnChange) OnChange(*this);
}

bool TQvDIB::GetUseFMO() const {
  AssertInternal(internal_, "GetUseFMO");
  return internal_->UseFMO;
}

void TQvDIB::TakeInternalDIB(TQvInternalDIB* fresh) {
  ReleaseInternalDIB();
  internal_ = fresh;
  UpdatePaletteModified();
  Changed();
}

void TQvDIB::Replace(const std::function<void(TQvInternalDIB&)>& fill) {
  std::unique_ptr<TQvInternalDIB> fresh(new TQvInternalDIB(GetUseFMO()));
  fill(*fresh);
  TakeInternalDIB(fresh.release());
}

void TQvDIB::UniqueDIB() {
  AssertInternal(internal_, "UniqueDIB");
  if (internal_->RefCount == 1) return;
  const TQvInternalDIB& old = *internal_;
  std::unique_ptr<TQvInternalDIB> copy(new TQvInternalDIB(old.UseFMO));
  copy->ClearDIB();
  copy->Width = old.Width;
  copy->Height = old.Height;
  TQvDIBData d = old.Data;
  QvPixelMemory mem(d.Size, old.UseFMO);
  if (d.Size > 0) std::memcpy(mem.Bits(), old.Data.Bits, static_cast<size_t>(d.Size));
  mem.HandTo(d, d.Size);
  copy->Data = d;
  copy->PaletteChanged = true;
  ReleaseInternalDIB();
  internal_ = copy.release();
  UpdatePaletteModified();
}

void TQvDIB::LoadFromStream(QvStream& stream) {
  Replace([&](TQvInternalDIB& d) { d.LoadFromStream(stream); });
}

void TQvDIB::LoadFromFile(const std::string& path) {
  QvFileReadStream s(path);
  if (!s.Ok()) throw FileError("Cannot open file \"" + path + "\"");
  LoadFromStream(s);
}

void TQvDIB::LoadFromPackedDIB(const void* block, size_t size) {
  Replace([&](TQvInternalDIB& d) { d.LoadFromPackedDIB(block, size); });
}

void TQvDIB::SaveToStream(QvStream& stream) const {
  AssertInternal(internal_, "SaveToStream");
  internal_->SaveToStream(stream);
}

void TQvDIB::SaveToFile(const std::string& path) const {
  QvStringWriteStream s;
  SaveToStream(s);
  WriteFileReplacing(path, s.Data());
}

std::string TQvDIB::SaveToPackedDIB() const {
  AssertInternal(internal_, "SaveToClipboardFormat");
  return internal_->SaveToPackedDIB();
}

void TQvDIB::Assign(const TQvDIB* source) {
  AssertInternal(internal_, "Assign");
  if (!source) {
    Replace([](TQvInternalDIB&) {});
    return;
  }
  if (source == this) return;
  AssertInternal(source->internal_, "Assign");
  ReleaseInternalDIB();
  ++source->internal_->RefCount;
  internal_ = source->internal_;
  KeyColor = source->KeyColor;
  ReductionQuality = source->ReductionQuality;
  HalftoneMode = source->HalftoneMode;
  PaletteModified = true;
  Changed();
}

int TQvDIB::GetWidth() const {
  AssertInternal(internal_, "GetWidth");
  return internal_->Width;
}

int TQvDIB::GetHeight() const {
  AssertInternal(internal_, "GetHeight");
  return internal_->Height;
}

bool TQvDIB::GetEmpty() const {
  AssertInternal(internal_, "GetEmpty");
  return false;
}

int TQvDIB::GetBitCount() const {
  AssertInternal(internal_, "GetBitCount");
  return internal_->Data.Header.biBitCount;
}

int TQvDIB::GetPixelFormat() const {
  AssertInternal(internal_, "GetPixelFormat");
  return internal_->GetPixelFormat();
}

void TQvDIB::SetWidth(int value) {
  AssertInternal(internal_, "SetWidth");
  if (value <= 0) throw EQvDIBInvalidDIBPara("TQvDIB.SetWidth: Invalid Width");
  if (value == internal_->Width) return;
  const QvBitmapInfoHeader h = internal_->Data.Header;
  const int height = internal_->Height;
  Replace([&](TQvInternalDIB& d) {
    d.ClearDIB();
    d.CreateDIB(value, height, h.biBitCount, static_cast<int>(h.biClrUsed));
  });
}

void TQvDIB::SetHeight(int value) {
  AssertInternal(internal_, "SetHeight");
  if (value == 0) throw EQvDIBInvalidDIBPara("TQvDIB.SetHeight: Invalid Height");
  if (value == internal_->Height) return;
  const QvBitmapInfoHeader h = internal_->Data.Header;
  const int width = internal_->Width;
  Replace([&](TQvInternalDIB& d) {
    d.ClearDIB();
    d.CreateDIB(width, value, h.biBitCount, static_cast<int>(h.biClrUsed));
  });
}

void TQvDIB::SetBitCount(int value) {
  AssertInternal(internal_, "SetBitCount");
  if (value != 1 && value != 4 && value != 8 && value != 24)
    throw EQvDIBInvalidDIBPara("TQvDIB.SetBitCount: Invalid BitCount");
  if (value == internal_->Data.Header.biBitCount) return;
  const int width = internal_->Width, height = internal_->Height;
  Replace([&](TQvInternalDIB& d) {
    d.ClearDIB();
    d.CreateDIB(width, height, value, DefaultColorCount(value));
  });
}

void TQvDIB::Progress(TQvProgressStage stage, int percent, bool redraw) {
  if (OnProgress)
    OnProgress(*this, stage, percent, redraw, QvRect{0, 0, GetWidth(), GetHeight()}, progressText_);
}

void TQvDIB::StepProgress() {
  ++progressCount_;
  if (progressCount_ == progressTotal_) return;
  Progress(TQvProgressStage::psRunning,
           progressTotal_ ? progressCount_ * 100 / progressTotal_ : 0, false);
}

void TQvDIB::SetPixelFormat(int value) {
  AssertInternal(internal_, "SetPixelFormat");
  const int from = internal_->GetPixelFormat();
  if (value == from) return;
  UniqueDIB();
  struct Reduction {
    int from, to, total;
    const char* text;
  };
  static const Reduction kReductions[] = {
      {3, 1, 16, "PixelFormat 8Bit -> 4Bit"},
      {3, 2, 16, "PixelFormat 8Bit -> 4BitRLE"},
      {4, 1, 16, "PixelFormat 8BitRLE -> 4Bit"},
      {4, 2, 16, "PixelFormat 8BitRLE -> 4BitRLE"},
      {5, 1, 16, "PixelFormat 24Bit -> 4Bit"},
      {5, 2, 16, "PixelFormat 24Bit -> 4BitRLE"},
      {5, 3, 256, "PixelFormat 24Bit -> 8Bit"},
      {5, 4, 256, "PixelFormat 24Bit -> 8BitRLE"},
  };
  bool progress = false;
  for (const Reduction& r : kReductions) {
    if (r.from == from && r.to == value) {
      progressText_ = r.text;
      progressTotal_ = r.total;
      progressCount_ = 0;
      progress = true;
      Progress(TQvProgressStage::psStarting, 0, false);
    }
  }
  try {
    internal_->SetPixelsFormat(value, ReductionQuality, ColorToRGB(KeyColor),
                               [this] { StepProgress(); });
  } catch (...) {
    UpdatePaletteModified();
    if (progress) Progress(TQvProgressStage::psEnding, 100, true);
    throw;
  }
  UpdatePaletteModified();
  if (progress) Progress(TQvProgressStage::psEnding, 100, true);
  UpdatePaletteModified();
  Changed();
}

}  // namespace qm
