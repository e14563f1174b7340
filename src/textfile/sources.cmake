# The text-file window and its helpers join here.
