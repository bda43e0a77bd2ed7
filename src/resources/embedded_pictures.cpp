// Placeholder until the embedded pictures land.
