#pragma once
// The decoder modules, loaded on the first file that needs one, so that a
// program which meets no such file never loads their libraries: from the
// program's module folders (beside it, or in the install tree's helper
// folder), else where the build put it.
//
//   static void* const module = openDecoderModule("libzentrel_pictures.so", ZENTREL_PICTURE_MODULE_PATH);
//   auto decode = module ? reinterpret_cast<Decode>(::dlsym(module, "zentrelDecodeHeifPicture")) : nullptr;

namespace zentrel::scanners {

// The module's handle, or null when none of the places holds a module that loads.
[[nodiscard]] void* openDecoderModule(const char* fileName, const char* builtPath);

}  // namespace zentrel::scanners
