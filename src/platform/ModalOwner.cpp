#include "platform/ModalOwner.h"

namespace {
HWND modalOwner = nullptr;
}

void SetModalOwner(HWND owner) {
    modalOwner = owner;
}

HWND ModalOwner() {
    return modalOwner;
}
