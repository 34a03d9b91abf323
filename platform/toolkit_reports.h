// Routes the vector toolkit's error reports to the user: shown at once on the
// UI thread, queued for it when they come from the audio thread.
#pragma once

void installToolkitReports();
