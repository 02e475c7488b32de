#pragma once
// The smallest model that draws: one textured triangle. The support code gives
// every model of the game this shape, so each draw reaches the device.
inline constexpr const char* kTriangleModel = R"(xof 0303txt 0032
Mesh triangle {
 3;
 0.0; 0.0; 0.0;,
 1.0; 0.0; 0.0;,
 0.0; 0.0; 1.0;;
 1;
 3; 0, 1, 2;;
 MeshMaterialList {
  1;
  1;
  0;;
  Material {
   1.0; 1.0; 1.0; 1.0;;
   0.0;
   0.0; 0.0; 0.0;;
   0.0; 0.0; 0.0;;
   TextureFilename { "skin.png"; }
  }
 }
}
)";
