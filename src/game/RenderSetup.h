#pragma once
#include "graphics/GraphicsDevice.h"

// The render states, camera and light the game draws with. A device reset loses
// them, so the game applies them again after every reset.
void ApplyGameRenderState(GraphicsDevice& device);

// The play field seen from above: x right, z up the screen, the square -50..50
// stretched over the viewport.
glm::mat4 FieldView();
glm::mat4 FieldProjection();
