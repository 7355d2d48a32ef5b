#include "platform/system/MessageService.h"

#include <stdexcept>

namespace ui {
namespace {

MessageService* installedService = nullptr;
MessageService* defaultService = nullptr;

}  // namespace

MessageService& MessageService::current() {
    if (installedService) return *installedService;
    if (defaultService) return *defaultService;
    throw std::logic_error("no message service installed");
}

void MessageService::install(MessageService* service) { installedService = service; }

MessageService* MessageService::installed() { return installedService; }

void MessageService::installDefault(MessageService* service) { defaultService = service; }

}  // namespace ui
