#pragma once

// How many characters a full name has: the surname plus one or plus two units.
enum class NameMode { TwoCharacter, ThreeCharacter };
