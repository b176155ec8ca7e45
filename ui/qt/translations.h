#pragma once

class QCoreApplication;

namespace tessarin {

/// Installs Qt's own French texts in `app`, so that the toolkit's dialogs and
/// standard buttons speak French like the rest of the window, whatever the
/// user's locale. Returns false when they are not installed on the system.
bool LoadToolkitFrench(QCoreApplication& app);

}  // namespace tessarin
