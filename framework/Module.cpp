#include "framework/Module.h"

namespace {
thread_local MessageLoop* threadLoop = nullptr;
}

void Module::Init(HINSTANCE instance) {
    instance_ = instance;
}

void Module::Term() {
    instance_ = nullptr;
}

HINSTANCE Module::Instance() const {
    return instance_ != nullptr ? instance_ : GetModuleHandleW(nullptr);
}

bool Module::AddMessageLoop(MessageLoop* loop) {
    if (threadLoop != nullptr || loop == nullptr)
        return false;
    threadLoop = loop;
    return true;
}

void Module::RemoveMessageLoop() {
    threadLoop = nullptr;
}

MessageLoop* Module::GetMessageLoop() const {
    return threadLoop;
}

Module& GetModule() {
    static Module module;
    return module;
}
