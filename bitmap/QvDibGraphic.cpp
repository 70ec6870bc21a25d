#include "bitmap/QvDibGraphic.h"

#include <istream>
#include <memory>
#include <ostream>

#include "bitmap/QvDibClassLib.h"
#include "bitmap/QvDibWin32.h"
#include "classlib/Picture.h"

namespace qm {

namespace {

// A std::istream as the bitmap library's stream; a seekable one tells how
// much is left, so that a short file is refused before it is read.
class IStreamAdapter : public QvStream {
 public:
  explicit IStreamAdapter(std::istream& in) : in_(in) {
    const std::istream::pos_type here = in.tellg();
    if (here != std::istream::pos_type(-1) && in.seekg(0, std::ios::end)) {
      const std::istream::pos_type end = in.tellg();
      in.seekg(here);
      if (end != std::istream::pos_type(-1)) remaining_ = static_cast<int64_t>(end - here);
    }
    in.clear();
  }
  size_t Read(void* buf, size_t n) override {
    in_.read(static_cast<char*>(buf), static_cast<std::streamsize>(n));
    const size_t got = static_cast<size_t>(in_.gcount());
    if (got < n) in_.clear(in_.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
    if (remaining_ >= 0) remaining_ -= static_cast<int64_t>(got);
    return got;
  }
  void Write(const void*, size_t) override { throw EQvReadError("Stream write error"); }
  int64_t Remaining() const override { return remaining_; }

 private:
  std::istream& in_;
  int64_t remaining_ = -1;
};

std::unique_ptr<cl::TGraphic> NewDibGraphic() { return std::make_unique<TQvDIBGraphic>(); }

// Registration with the class library's picture, the first time the unit
// starts; taken back the last time it ends.
struct QvDibUnit {
  static int starts;
  QvDibUnit() {
    if (starts++ == 0) {
      cl::TPicture::RegisterClipboardFormat(CF_DIB, &NewDibGraphic);
      cl::TPicture::RegisterFileFormat("dib", "Device Independent Bitmap", &NewDibGraphic);
    }
  }
  ~QvDibUnit() {
    if (--starts == 0) cl::TPicture::UnregisterGraphicClass(&NewDibGraphic);
  }
};
int QvDibUnit::starts = 0;
const QvDibUnit unit;

}  // namespace

void TQvDIBGraphic::LoadFromStream(std::istream& in) {
  IStreamAdapter s(in);
  dib_.LoadFromStream(s);
}

void TQvDIBGraphic::SaveToStream(std::ostream& out) const {
  QvStringWriteStream s;
  dib_.SaveToStream(s);
  out.write(s.Data().data(), static_cast<std::streamsize>(s.Data().size()));
}

void TQvDIBGraphic::DrawOn(cl::TCanvas& canvas, const RECT& r) {
  if (canvas.Handle()) QvDibDraw(dib_, canvas.Handle(), r, canvas.CopyMode);
}

void TQvDIBGraphic::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  try {
    QvDibLoadFromClipboardFormat(dib_, format, data, palette);
  } catch (const EQvInvalidGraphic& e) {
    throw cl::EInvalidGraphic(e.what());
  }
}

void TQvDIBGraphic::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) const {
  QvDibSaveToClipboardFormat(dib_, format, data, palette);
}

void TQvDIBGraphic::Assign(cl::TGraphic* source) {
  if (!source) {
    dib_.Assign(nullptr);
  } else if (auto* other = dynamic_cast<TQvDIBGraphic*>(source)) {
    dib_.Assign(&other->dib_);
  } else if (auto* bitmap = dynamic_cast<cl::TBitmap*>(source)) {
    try {
      QvDibAssignFromBitmap(dib_, *bitmap);
    } catch (const EQvInvalidGraphic& e) {
      throw cl::EInvalidGraphic(e.what());
    }
  } else {
    throw cl::EInvalidGraphic("TQvDIB.Assign: Cannot assign this graphic to a TQvDIB");
  }
}

void TQvDIBGraphic::AssignTo(cl::TBitmap& bitmap) { QvDibAssignToBitmap(dib_, bitmap); }

}  // namespace qm
