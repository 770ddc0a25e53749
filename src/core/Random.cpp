#include "core/Random.h"

namespace tavrin {

Random& SharedRandom() {
    static Random generator;
    return generator;
}

} // namespace tavrin
