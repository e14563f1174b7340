# The e-mail composer joins here.
