// How an operation ended. Functions return it; a command turns it into the program-wide flags
// once, at its end, where the rest of the program looks for them.
#pragma once

namespace tq530 {

enum class Outcome { Ok, Failed, Cancelled };

}  // namespace tq530
