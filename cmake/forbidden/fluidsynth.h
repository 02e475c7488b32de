#error "velmora_core must stay free of platform libraries: move this code behind an interface into a platform/ folder"
