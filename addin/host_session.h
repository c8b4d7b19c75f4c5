#pragma once

// What the add-in asks of the host it is built for.

// The host works in metric units.
bool HostIsMetric();

// The handshake: the host's version number when this build serves it, else the
// version base of the release this build was made for.
int HostVersionAnswer(int hostVersion);
