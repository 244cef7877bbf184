# Fusion, fill and incline pages.
