#pragma once

namespace mervasto {

// Downloads go through the system's proxy settings (office networks often allow no other way
// out). Called once by each program at start.
void useSystemProxy();

} // namespace mervasto
