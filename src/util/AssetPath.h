#pragma once
#include <string>

// Asset folders copied from other systems name their files in any case
// ("OBJ1.X", "Title.PNG"). Returns `path` itself when it exists (one stat);
// otherwise each missing component is replaced by the one entry of its folder
// whose name matches it ignoring ASCII case. A component that matches no entry,
// or several (say "a.png" and "A.PNG" when "A.png" is asked for), resolves to
// nothing: then `path` is returned unchanged and its loader reports it missing.
std::string ResolveAssetPath(const std::string& path);
