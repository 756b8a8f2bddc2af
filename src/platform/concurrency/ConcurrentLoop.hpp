#pragma once
// Runs one job per index on several threads of the task pool and waits for
// them all. The calling thread takes indices too, so the loop finishes even
// when no worker of the pool is free (the caller may itself be one of them,
// or the pool a test's manual executor); helpers that start late find
// nothing left and return at once.
//
//   std::vector<Digest> digests(files.size());
//   forEachConcurrently(pool, files.size(), [&](std::size_t i) { digests[i] = digest(files[i]); });

#include "platform/concurrency/Executor.hpp"

#include <cstddef>
#include <functional>

namespace zentrel::platform {

// `body` must not throw. `width` counts the caller; 0 means one per processor.
void forEachConcurrently(Executor* pool, std::size_t count, const std::function<void(std::size_t)>& body,
                         unsigned width = 0);

}  // namespace zentrel::platform
