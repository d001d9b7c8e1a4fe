// The error of input that breaks a mesh's rules, thrown by the readers of ase/.
#pragma once

#include "ase/conversion_error.h"

namespace meshwright {

// Input that breaks the mesh's rules. what() names the fault and where it is, without the file
// name ("face 4 uses vertex 12, but the mesh has 8 vertices"); the caller adds the name.
class MeshError : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

}  // namespace meshwright
