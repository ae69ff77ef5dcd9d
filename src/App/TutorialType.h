#pragma once

// The tutorials the application shows once each; the first is the canvas drag tutorial.
enum class TutorialType { drag };
