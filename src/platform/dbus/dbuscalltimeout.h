#pragma once

// These calls run on a user's click on the main thread; a service that does
// not answer within this time counts as refusing.
inline constexpr int kDBusCallTimeoutMs = 2500;
