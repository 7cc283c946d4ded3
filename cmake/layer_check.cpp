// Intentionally empty: the layer's library is linked around it (see
// Layers.cmake), and the link fails when the layer calls a layer above it.
