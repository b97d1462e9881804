// Calls a headless test has asked to fail, the way the platform reports their failure.
#pragma once

namespace standin {

bool ShouldFail(const char* call);

}  // namespace standin
