#pragma once

// What a variable name is made for.
enum class VariableNameType { code, image };
