// COM for the thread that shows the windows: the shell's new-style folder
// browser and shortcuts need a single-threaded apartment. A program holds
// one for its whole run, made on its GUI thread before the first window.
#pragma once

namespace cl {

class TComApartment {
 public:
  TComApartment();
  ~TComApartment();
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
  // False when the thread could not join an apartment (it already holds a
  // multi-threaded one); nothing is released then.
  bool Joined() const { return joined_; }

 private:
  bool joined_ = false;
};

}  // namespace cl
