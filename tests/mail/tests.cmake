# The e-mail composer's tests join here.
