#pragma once
// The one failure path of the program's commands: a command runs guarded, and a runtime
// error it raises (running out of memory counts as one) ends it there and is reported with
// ReportError, unless the command expects that error and deals with it itself.
#include "platform/logic/RuntimeError.h"

#include <functional>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace folio {

// An error the command deals with itself, before any report: true when it has (nothing is
// reported then), false to report it.
using ExpectedError = std::function<bool(const RuntimeError&)>;

// Cancel in a dialog: the command ends silently.
bool dialogCancelled(const RuntimeError& error);
// Any error at all: the command ends silently.
bool anyFailure(const RuntimeError& error);

// Reports `error` unless `expected` deals with it.
void commandFailed(const RuntimeError& error, const ExpectedError& expected);

// Runs `command`. A command without a result gives true when it ran to its end, false when
// it failed; a command with a result gives the result, or nothing when it failed.
template <class Command, class Result = std::invoke_result_t<Command&>>
auto guarded(Command&& command, const ExpectedError& expected = {})
    -> std::conditional_t<std::is_void_v<Result>, bool, std::optional<Result>>
{
    std::optional<RuntimeError> failure;
    try {
        if constexpr (std::is_void_v<Result>) {
            command();
            return true;
        } else {
            return std::optional<Result>(command());
        }
    } catch (const RuntimeError& e) {
        failure = e;
    } catch (const std::bad_alloc&) {
        failure = RuntimeError::outOfMemory();
    }
    // Outside the catch: what follows may show a message and run events.
    commandFailed(*failure, expected);
    return {};
}

}  // namespace folio
