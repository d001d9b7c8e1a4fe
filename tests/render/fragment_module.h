// A compiled fragment: the shared module built from fragment_unit.cpp, loaded at run time.
#pragma once

#include <string>

namespace meshwright::render {

using DrawFunction = void (*)();

// Loads the module at `path` and finds its drawFragment; throws std::runtime_error with the
// loader's reason when either fails. The module stays loaded as long as this object lives.
class FragmentModule {
  public:
    explicit FragmentModule(const std::string& path);
    ~FragmentModule();
    FragmentModule(const FragmentModule&) = delete;
    FragmentModule& operator=(const FragmentModule&) = delete;

    DrawFunction draw() const { return draw_; }

  private:
    void* handle_;
    DrawFunction draw_;
};

}  // namespace meshwright::render
