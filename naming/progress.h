#pragma once

#include <functional>

// Reports the share of a long piece of work done, in [0, 1]; returns false to stop it.
using Progress = std::function<bool(double done)>;
