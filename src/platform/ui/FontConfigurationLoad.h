#pragma once
// Reads the system's font configuration on a thread of its own while the
// toolkit connects to the display. The first text laid out would read it
// otherwise, on the way to the windows' first paint.
#include <thread>

namespace tz {

class FontConfigurationLoad {
  public:
    FontConfigurationLoad();
    ~FontConfigurationLoad();
    FontConfigurationLoad(const FontConfigurationLoad&) = delete;
    FontConfigurationLoad& operator=(const FontConfigurationLoad&) = delete;

    // Waits until it is read; call before the first font is used.
    void finish();

  private:
    std::thread reader_;
};

}  // namespace tz
