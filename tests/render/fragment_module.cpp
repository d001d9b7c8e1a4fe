// Loading a fragment at run time lets the host be built once while each test compiles only the
// fragment itself; its OpenGL calls bind to the library the host already has loaded.
#include "fragment_module.h"

#include <dlfcn.h>

#include <stdexcept>

namespace meshwright::render {

FragmentModule::FragmentModule(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        throw std::runtime_error(std::string("can't load the fragment: ") + dlerror());
    }
    draw_ = reinterpret_cast<DrawFunction>(dlsym(handle_, "drawFragment"));
    if (draw_ == nullptr) {
        std::string reason = dlerror();
        dlclose(handle_);
        throw std::runtime_error("the fragment module has no drawFragment: " + reason);
    }
}

FragmentModule::~FragmentModule() {
    dlclose(handle_);
}

}  // namespace meshwright::render
