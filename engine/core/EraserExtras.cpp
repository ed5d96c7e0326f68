#include "EraserExtras.h"

#include <windows.h>

namespace {

template <typename Call> Call Lookup(HMODULE component, const char* name) {
    return component
               ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(component, name)))
               : nullptr;
}

} // namespace

const EraserExtras& Extras() {
    static const EraserExtras extras = [] {
        const HMODULE component = GetModuleHandleA("vxerase.dll");
        return EraserExtras{
            Lookup<decltype(EraserExtras::addItemW)>(component, "eraserAddItemW"),
            Lookup<decltype(EraserExtras::setMethod)>(component, "eraserSetMethod"),
            Lookup<decltype(EraserExtras::destroyContext)>(component, "eraserDestroyContext"),
            Lookup<decltype(EraserExtras::leftItems)>(component, "eraserLeftItems"),
            Lookup<decltype(EraserExtras::itemState)>(component, "eraserItemState"),
            Lookup<decltype(EraserExtras::cancel)>(component, "eraserCancel"),
            Lookup<decltype(EraserExtras::writtenBytes)>(component, "eraserWrittenBytes"),
        };
    }();
    return extras;
}
